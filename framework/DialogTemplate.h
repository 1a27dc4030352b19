// A dialog template resource, copied so that some of its controls are created with extra
// styles (for example disabled), as if the template said so.
#pragma once

#include <windows.h>

#include <vector>

// The template (a DIALOGEX resource) with `style` added to the controls of these ids; empty
// when there is no such template or it has another form.  The copy is DWORD-aligned, ready
// for CreateDialogIndirectParam.
std::vector<DWORD> TemplateWithStyle(HINSTANCE instance, UINT templateId,
                                     const std::vector<int>& ids, DWORD style);
