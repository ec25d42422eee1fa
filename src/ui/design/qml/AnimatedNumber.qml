import QtQuick
import Velk.Design

// A whole number whose digits roll when it changes: up when it grows, down
// when it shrinks. A value that is not a finite number shows 0.
RollingText {
    id: root
    property double value: 0
    property color foregroundColor: VDS.C.text1
    property double _previous: value

    // Whole digits toward zero, as C prints a long long ("-0" never shows).
    text: Format.fixed(isFinite(value) ? Math.trunc(value) + 0 : 0, 0)
    color: foregroundColor
    onValueChanged: {
        countsDown = value < _previous
        _previous = value
    }
}
