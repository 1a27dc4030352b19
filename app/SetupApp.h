// CSetupApp: the application object.  Its start-up runs the fleet editor form modally; the
// program ends when the form closes.
#pragma once

#include "framework/App.h"

class CSetupApp : public CWinApp {
public:
    bool InitInstance() override;
};

extern CSetupApp theApp;
