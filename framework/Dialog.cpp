#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/DialogTemplate.h"
#include "framework/ExceptionText.h"

#include <exception>
#include <string>

namespace {

// WM_KEYF1, undocumented and missing from the headers: made of a real F1 key press along with
// its key-down; DefWindowProc turns it into WM_HELP.
const UINT kWmKeyF1 = 0x004D;

// The resource type of a dialog template's list initialisation data.
const WORD kDlgInitType = 240;

CDialog::ModalObserver g_modalObserver = nullptr;
void* g_modalContext = nullptr;

// Called within a catch block: no exception crosses a window procedure or the modal loop.
void ReportException(HWND owner) {
    ShowMessageBox(owner,
                   "An unexpected error occurred: " + ExceptionText(std::current_exception()),
                   nullptr, MB_OK | MB_ICONERROR);
}

} // namespace

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    DestroyWindow();
}

void CDialog::DestroyWindow() {
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
        self->Attach(hwnd);
        self->m_items.clear();
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr)
        return FALSE;
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ReportException(hwnd);
    }
    return FALSE;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control != nullptr) {
            if (m_writing)
                return TRUE;
            CWnd* wrapper = CWnd::FromHandlePermanent(control);
            if (wrapper != nullptr && wrapper->OnReflectedCommand(HIWORD(wParam)))
                return TRUE;
        }
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    }
    case WM_SYSCOMMAND:
        return OnSysCommand(UINT(wParam), lParam) ? TRUE : FALSE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(
            OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_HELP:
        return OnHelpInfo() ? TRUE : FALSE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    case WM_NCDESTROY:
        m_items.clear();
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        Detach();
        return FALSE;
    }
    return OnWindowMessage(message, wParam, lParam) ? TRUE : FALSE;
}

bool CDialog::OnCommand(int id, UINT code) {
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}

bool CDialog::OnInitDialog() {
    ExecuteDlgInit();
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
}

// A dialog's controls stay the same while it lives, and the platform's lookup goes through all
// of them each time (under Wine with a round trip to its server): each is looked up once.
// Measured in the interleaved start-up benchmark (Wine 8, 2 cores, December 2026): the form's
// start-up takes about 30 ms longer when every lookup asks the platform.
HWND CDialog::GetDlgItem(int id) const {
    const auto known = m_items.find(id);
    if (known != m_items.end())
        return known->second;
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (item != nullptr)
        m_items.emplace(id, item);
    return item;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this, saveAndValidate);
    bool wasWriting = m_writing;
    m_writing = !saveAndValidate;
    DoDataExchange(dx);
    m_writing = wasWriting;
    return true;
}

// The initialisation data: per entry the control id, the message, the length of the data and
// the data (a text with its terminating NUL); a control id of 0 ends it.
void CDialog::ExecuteDlgInit() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found =
        FindResourceA(instance, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(kDlgInitType));
    if (found == nullptr)
        return;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    const BYTE* end = data + SizeofResource(instance, found);
    // Each list is filled with its drawing off: nothing is shown until the end.
    HWND list = nullptr;
    auto finishList = [&list] {
        if (list != nullptr)
            ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        list = nullptr;
    };
    while (data != nullptr && end - data >= 8) {
        WORD id, message;
        DWORD length;
        memcpy(&id, data, 2);
        if (id == 0)
            break;
        memcpy(&message, data + 2, 2);
        memcpy(&length, data + 4, 4);
        data += 8;
        if (length > DWORD(end - data))
            break;
        std::string text(reinterpret_cast<const char*>(data), length);
        HWND control = GetDlgItem(id);
        if (control != list) {
            finishList();
            list = control;
            ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        }
        ::SendMessageA(control, message, 0, LPARAM(text.c_str()));
        data += length;
    }
    finishList();
}

HWND CDialog::CreateFromTemplate(HWND parent) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (!m_createDisabled.empty()) {
        const std::vector<DWORD> disabled =
            TemplateWithStyle(instance, m_templateId, m_createDisabled, WS_DISABLED);
        if (!disabled.empty())
            return CreateDialogIndirectParamA(instance,
                                              reinterpret_cast<LPCDLGTEMPLATEA>(disabled.data()),
                                              parent, DialogProc, self);
    }
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(m_templateId), parent, DialogProc, self);
}

bool CDialog::Create() {
    m_ended = false;
    HWND hwnd = CreateFromTemplate(m_parent);
    if (hwnd == nullptr)
        return false;
    ShowWindow(hwnd, SW_SHOW);
    return true;
}

INT_PTR CDialog::DoModal() {
    m_ended = false;
    // A dialog without a parent of its own belongs to the main window, which it disables
    // while it runs.
    HWND parent = m_parent;
    if (parent == nullptr && AfxGetApp() != nullptr)
        parent = AfxGetApp()->m_pMainWnd;
    bool parentEnabled = parent != nullptr && IsWindowEnabled(parent);
    if (parentEnabled)
        EnableWindow(parent, FALSE);
    HWND hwnd = CreateFromTemplate(parent);
    if (hwnd == nullptr) {
        if (parentEnabled)
            EnableWindow(parent, TRUE);
        return -1;
    }
    if (!m_ended)
        ShowWindow(hwnd, SW_SHOW);
    if (g_modalObserver != nullptr && !m_ended)
        g_modalObserver(*this, g_modalContext);
    MSG msg;
    while (!m_ended) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(int(msg.wParam)); // leave WM_QUIT for the outer loop
            break;
        }
        PumpMessage(msg);
    }
    if (parentEnabled)
        EnableWindow(parent, TRUE);
    if (m_hWnd != nullptr)
        ShowWindow(m_hWnd, SW_HIDE);
    DestroyWindow();
    return m_result;
}

// The control the message is for and its parents, up to the dialog itself, may take it first.
bool CDialog::PreTranslateInput(MSG& msg) {
    if (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd))
        return false;
    for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = hwnd == m_hWnd ? nullptr : GetParent(hwnd)) {
        CWnd* wrapper = CWnd::FromHandlePermanent(hwnd);
        if (wrapper != nullptr && wrapper->PreTranslateMessage(&msg))
            return true;
    }
    return false;
}

void CDialog::PumpMessage(MSG& msg) {
    try {
        if (PreTranslateInput(msg))
            return;
        // F1 anywhere in the dialog asks for its help, whatever control has the focus.  A
        // real key press also brings WM_KEYF1, which would ask a second time (as WM_HELP),
        // possibly later, while the help's own loop runs: it is dropped whatever it is for.
        const bool inDialog = msg.hwnd == m_hWnd || IsChild(m_hWnd, msg.hwnd);
        if (msg.message == kWmKeyF1)
            return;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && inDialog && OnHelpInfo())
            return;
    } catch (...) {
        ReportException(m_hWnd);
        return;
    }
    if (m_hWnd != nullptr && IsDialogMessageA(m_hWnd, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void CDialog::PumpWaitingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        PumpMessage(msg);
}

void CDialog::SetModalObserver(ModalObserver observer, void* context) {
    g_modalObserver = observer;
    g_modalContext = context;
}

int CDialog::MessageBox(const std::string& text, const char* caption, UINT style) {
    return ShowMessageBox(m_hWnd, text, caption, style);
}

int CDialog::MessageBox(const std::wstring& text, const char* caption, UINT style) {
    return ShowMessageBox(m_hWnd, text, caption, style);
}
