// The rename list's rules as the settings say them now.
#pragma once

#include "core/list_rules.h"

ListRules ListRulesFromSettings();
