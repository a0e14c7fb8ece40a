// Which language the command line speaks: the user's locale, asked of the
// environment (LC_ALL, then LC_MESSAGES, then LANG) and, on Windows where
// none of them is set, of the user interface language.
#ifndef S1ORDO_APP_UI_LANGUAGE_H_
#define S1ORDO_APP_UI_LANGUAGE_H_

namespace s1ordo {

// True when the first of LC_ALL, LC_MESSAGES and LANG that is set (and not
// empty) starts with "ja"; without any of them, on Windows, when the user
// interface language is Japanese.
bool UserWantsJapanese();

}  // namespace s1ordo

#endif  // S1ORDO_APP_UI_LANGUAGE_H_
