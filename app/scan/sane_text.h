#pragma once
// Texts that come from a SANE backend (option titles, descriptions, group titles and the
// values of string lists), in the user's language through SANE's own message catalogue
// ("sane-backends"). A text the catalogue does not know comes back as it is.
//
// The language follows LANGUAGE and LC_MESSAGES as for any gettext program. glibc ignores
// LANGUAGE while messages are in the plain "C" locale, which is all a bare system has, so
// each call moves LC_MESSAGES from "C" to "C.UTF-8" (built into glibc, same texts).
// Call from the window's thread: it may touch the process locale.
#include <QString>

namespace folivo {

QString SaneText(const QString& text);

} // namespace folivo
