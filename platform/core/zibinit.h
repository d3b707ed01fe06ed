#ifndef ZIBINIT_H
#define ZIBINIT_H

#include <QString>

// Prepares the process for the desktop's components: application name and
// version, organisation, the translators for the user's language (see
// ZibTranslations) and the icon theme search path. Returns true when
// the process was set up; calling it again does nothing and returns false.
bool zibInit(const QString &version, const QString &name);

#endif // ZIBINIT_H
