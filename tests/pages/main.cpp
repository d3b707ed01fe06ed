#include "pagestestsetup.h"

#include <QtQuickTest>

QUICK_TEST_MAIN_WITH_SETUP(pages, PagesTestSetup)
