#include "notesmoduletestsetup.h"

#include <QtQuickTest>

QUICK_TEST_MAIN_WITH_SETUP(notesmodule, NotesModuleTestSetup)
