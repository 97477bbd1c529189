#include "framework/LinkAccessible.h"

#include "base/JoinPath.h"
#include "base/SystemPaths.h"

#include <oleacc.h>

#include <new>

namespace {

using CreateStdObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using ResultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

template <typename Function> void Resolve(HMODULE library, const char* name, Function& function) {
    if (library) {
        function =
            reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    }
}

HMODULE LoadFromSystemFolder(const char* name) {
    Str folder = QueryFolder(GetSystemDirectoryA);
    return folder.IsEmpty() ? nullptr : LoadLibraryA(JoinPath(folder, name).Text());
}

// Loaded from the system folder the first time assistive technology asks, not at every start,
// and kept for the rest of the process: objects handed out may call into it at any time. Used
// on the user-interface thread only.
class AccessibilityLibrary {
public:
    AccessibilityLibrary() = default;
    AccessibilityLibrary(const AccessibilityLibrary&) = delete;
    AccessibilityLibrary& operator=(const AccessibilityLibrary&) = delete;
    ~AccessibilityLibrary() {
        if (module) {
            FreeLibrary(module);
        }
    }

    bool Load() {
        if (!tried) {
            tried = true;
            module = LoadFromSystemFolder("oleacc.dll");
            Resolve(module, "CreateStdAccessibleObject", CreateStdObject);
            Resolve(module, "LresultFromObject", ResultFromObject);
        }
        return CreateStdObject && ResultFromObject;
    }

    CreateStdObjectFunction CreateStdObject = nullptr;
    ResultFromObjectFunction ResultFromObject = nullptr;

private:
    HMODULE module = nullptr;
    bool tried = false;
};

AccessibilityLibrary Accessibility;

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard object's interface iid, or null when it has none.
template <typename Interface> Interface* StandardInterface(IAccessible* standard) {
    void* object = nullptr;
    if (FAILED(standard->QueryInterface(__uuidof(Interface), &object))) {
        return nullptr;
    }
    return static_cast<Interface*>(object);
}

// Everything is the standard object's answer but the role. The interfaces the standard object
// has besides IAccessible are answered here too, never handed out as the standard object's own:
// a client that asks one of them back for IAccessible or IUnknown must reach this object (COM
// identity), not the standard object without the link role.
class LinkAccessible : public IAccessible, public IEnumVARIANT, public IOleWindow {
public:
    explicit LinkAccessible(IAccessible* standard)
        : standard(standard), children(StandardInterface<IEnumVARIANT>(standard)),
          window(StandardInterface<IOleWindow>(standard)) {}
    LinkAccessible(const LinkAccessible&) = delete;
    LinkAccessible& operator=(const LinkAccessible&) = delete;
    virtual ~LinkAccessible() {
        if (children) {
            children->Release();
        }
        if (window) {
            window->Release();
        }
        standard->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (iid == __uuidof(IEnumVARIANT) && children) {
            *object = static_cast<IEnumVARIANT*>(this);
        } else if (iid == __uuidof(IOleWindow) && window) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        return children->Next(count, items, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return children->Skip(count); }
    HRESULT STDMETHODCALLTYPE Reset() override { return children->Reset(); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override { return children->Clone(copy); }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* handle) override { return window->GetWindow(handle); }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override {
        return window->ContextSensitiveHelp(enter);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return standard->get_accRole(child, role);
        }
        if (!role) {
            return E_INVALIDARG;
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard->Invoke(id, iid, locale, flags, parameters, result, exception,
                                argumentError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard->put_accValue(child, value);
    }

private:
    IAccessible* standard;
    IEnumVARIANT* children;
    IOleWindow* window;
    LONG references = 1;
};

} // namespace

LRESULT AnswerLinkObjectRequest(HWND link, WPARAM flags) {
    AccessibilityLibrary& library = Accessibility;
    if (!library.Load()) {
        return 0;
    }
    IAccessible* standard = nullptr;
    if (FAILED(library.CreateStdObject(link, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))) ||
        !standard) {
        return 0;
    }
    auto* answer = new (std::nothrow) LinkAccessible(standard);
    if (!answer) {
        standard->Release();
        return 0;
    }
    LRESULT result =
        library.ResultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(answer));
    answer->Release();
    return result > 0 ? result : 0;
}
