#include "main/View.h"

LanguageKey ViewName(int view) {
    static const LanguageKey kNames[ViewCount] = {LanguageKey::Processes, LanguageKey::Windows,  LanguageKey::Services,
                                                  LanguageKey::Drivers,   LanguageKey::Networks, LanguageKey::Monitor,
                                                  LanguageKey::SMART,     LanguageKey::Autoruns};
    return view >= 0 && view < ViewCount ? kNames[view] : LanguageKey::Processes;
}
