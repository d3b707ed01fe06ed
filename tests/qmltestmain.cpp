#include <QtQuickTest>

// Shared QtQuickTest harness; the QML modules come from -import.
QUICK_TEST_MAIN(zibqml)
