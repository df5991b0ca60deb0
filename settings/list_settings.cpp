#include "settings/list_settings.h"

#include "settings/setting_keys.h"
#include "settings/settings_store.h"

ListRules ListRulesFromSettings() {
    const NameRules names = NameRulesFromSettings();
    ListRules rules;
    rules.wholeNamesShown = names.wholeNamesShown;
    rules.sayListedAgain = GetBool(kIdSayListedAgain);
    rules.refuseNested = GetBool(kIdRefuseNested);
    rules.checkPastedNames = names.checked;
    return rules;
}

NameRules NameRulesFromSettings() {
    NameRules rules;
    rules.checked = GetBool(kIdCheckNames);
    rules.wholeNamesShown = GetInitialBool(kIdUseExtension);
    return rules;
}

ImportRules ImportRulesFromSettings() {
    ImportRules rules;
    rules.refuseTooFewLines = GetBool(kIdRefuseTooFewLines);
    rules.refuseTooManyLines = GetBool(kIdRefuseTooManyLines);
    rules.sayNotText = GetBool(kIdSayNotText);
    rules.names = NameRulesFromSettings();
    return rules;
}
