#include "script/ScriptSettings.h"

CScriptSettings theScriptSettings;

CScriptSettings::CScriptSettings() {
    m_values.difficulty = 0;
}
