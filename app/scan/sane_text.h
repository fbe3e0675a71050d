#pragma once
// Texts that come from a SANE backend (option titles, descriptions, group titles and the
// values of string lists), in the user's language through SANE's own message catalogue
// ("sane-backends"). A text the catalogue does not know comes back as it is.
//
// The language follows LANGUAGE and LC_MESSAGES as for any gettext program. glibc ignores
// LANGUAGE while messages are in the plain "C" locale, which is all a bare system has, so
// PrepareSaneText moves LC_MESSAGES from "C" to "C.UTF-8" (built into glibc, same
// texts). It changes the process locale, which no other thread may be reading then: call
// it in main(), after the application object (which sets the locale from the
// environment) and before any scanning starts.
#include <QString>

namespace folivo {

void PrepareSaneText();

QString SaneText(const QString& text);

} // namespace folivo
