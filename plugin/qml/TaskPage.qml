import QtQuick 2.3

Item {
}
