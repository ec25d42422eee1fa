import QtQuick
import Velk.Design

// Draws what VelkAppBackdrop draws.
VelkAppBackdrop {}
