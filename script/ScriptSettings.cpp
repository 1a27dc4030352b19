#include "script/ScriptSettings.h"

CScriptSettings theScriptSettings;

CScriptSettings::CScriptSettings() : m_positions{}, m_flags(0), m_difficulty(0) {}
