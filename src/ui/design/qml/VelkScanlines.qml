import QtQuick

// Kept for the views that place it; draws nothing and takes no clicks.
Item {
}
