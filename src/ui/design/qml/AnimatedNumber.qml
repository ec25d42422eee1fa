import QtQuick
import Velk.Design

// A whole number whose digits roll when it changes: up when it grows, down
// when it shrinks.
RollingText {
    id: root
    property double value: 0
    property color foregroundColor: VDS.C.text1
    property double _previous: value

    text: Number(Math.trunc(value)).toFixed(0)
    color: foregroundColor
    onValueChanged: {
        countsDown = value < _previous
        _previous = value
    }
}
