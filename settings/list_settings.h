// The rules of the rename list and of the import back into it, as the settings say them now.
#pragma once

#include "core/list_rules.h"
#include "core/name_rules.h"

// What the settings decide for reading the edited names back.
struct ImportRules {
    bool refuseTooFewLines = true;   // fewer lines than entries stop it (DlgCBisShort)
    bool refuseTooManyLines = true;  // a valid name after the entries' lines stops it (DlgCBisLong)
    bool sayNotText = true;          // a clipboard without text says so (DlgCBisntTxt)
    NameRules names;                 // each line on its own (DlgFNisWrong, UseExtension)
};

ListRules ListRulesFromSettings();
NameRules NameRulesFromSettings();
ImportRules ImportRulesFromSettings();
