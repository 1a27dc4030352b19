#include "framework/AccessibleName.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>

namespace {

// Spelled out: the id in the MinGW-w64 import library is not the one oleacc answers to.
const IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// A control's texts, shared with the objects handed out for it: a screen reader may hold one
// after the control is gone, and then hears the platform's answers.
struct Texts {
    AccessibleText name, description;
    bool alive = true;
};
using SharedTexts = std::shared_ptr<Texts>;

BSTR AllocatedText(const std::wstring& text) {
    return SysAllocStringLen(text.data(), UINT(text.size()));
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The platform's object with our name: every call but the name's goes to it.
class CNamedAccessible final : public IAccessible {
public:
    CNamedAccessible(IAccessible* standard, SharedTexts texts)
        : m_standard(standard), m_texts(std::move(texts)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, kIidAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return m_standard->QueryInterface(iid, object); // IOleWindow, IEnumVARIANT, ...
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&m_count)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG count = InterlockedDecrement(&m_count);
        if (count == 0) {
            m_standard->Release();
            delete this;
        }
        return ULONG(count);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return m_standard->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }

    // IAccessible: the name and the description are ours.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child) || !m_texts->alive || !m_texts->name)
            return m_standard->get_accName(child, name);
        return Answer(m_texts->name(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        const std::wstring ours = IsSelf(child) && m_texts->alive && m_texts->description
                                      ? m_texts->description()
                                      : std::wstring();
        if (ours.empty())
            return m_standard->get_accDescription(child, description);
        return Answer(ours, description);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        return m_standard->get_accChild(child, dispatch);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

private:
    static HRESULT Answer(const std::wstring& text, BSTR* answer) {
        if (answer == nullptr)
            return E_POINTER;
        *answer = AllocatedText(text);
        return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    LONG m_count = 1;
    IAccessible* m_standard;
    SharedTexts m_texts;
};

// The control's answer to WM_GETOBJECT for its client area: 0 where the platform should answer.
LRESULT NamedObject(HWND control, WPARAM flags, const SharedTexts& texts) {
    // The object is handed over through COM: the window's thread joins it on the first call
    // (and stays, as a window's thread does).
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, kIidAccessible,
                                         reinterpret_cast<void**>(&standard))) ||
        standard == nullptr)
        return 0;
    auto* named = new CNamedAccessible(standard, texts);
    const LRESULT result = LresultFromObject(kIidAccessible, flags, named);
    named->Release();
    return result > 0 ? result : 0;
}

LRESULT CALLBACK NamedControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
    auto* texts = reinterpret_cast<SharedTexts*>(data);
    if (message == WM_GETOBJECT && LONG(lParam) == LONG(OBJID_CLIENT)) {
        if (const LRESULT named = NamedObject(hwnd, wParam, *texts))
            return named;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, NamedControlProc, id);
        (*texts)->alive = false;
        delete texts;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void SetAccessibleName(HWND control, AccessibleText name, AccessibleText description) {
    if (control == nullptr)
        return;
    auto* texts = new SharedTexts(std::make_shared<Texts>());
    (*texts)->name = std::move(name);
    (*texts)->description = std::move(description);
    if (!SetWindowSubclass(control, NamedControlProc, 1, reinterpret_cast<DWORD_PTR>(texts)))
        delete texts;
}

void NotifyNameChange(HWND control) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}
