#include "settings/list_settings.h"

#include "settings/setting_keys.h"
#include "settings/settings_store.h"

ListRules ListRulesFromSettings() {
    ListRules rules;
    rules.wholeNamesShown = GetInitialBool(kIdUseExtension);
    rules.sayListedAgain = GetBool(kIdSayListedAgain);
    rules.refuseNested = GetBool(kIdRefuseNested);
    rules.checkPastedNames = GetBool(kIdCheckNames);
    return rules;
}
