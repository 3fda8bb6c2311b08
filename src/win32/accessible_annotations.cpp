#include <windows.h>

#include <initguid.h>

#include "win32/accessible_annotations.h"

#include <algorithm>
#include <string>

namespace cdr::win32 {

AccessibleAnnotations::AccessibleAnnotations()
    : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
    }
}

AccessibleAnnotations::~AccessibleAnnotations() {
    if (services_ != nullptr) {
        const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
        for (HWND control : annotated_) {
            services_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, properties,
                                      static_cast<int>(std::size(properties)));
        }
        services_->Release();
    }
    if (comStarted_) {
        CoUninitialize();
    }
}

void AccessibleAnnotations::annotate(HWND control, const MSAAPROPID& property, std::wstring_view text) {
    if (services_ == nullptr || control == nullptr) {
        return;
    }
    const std::wstring terminated(text);
    services_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, terminated.c_str());
    if (std::ranges::find(annotated_, control) == annotated_.end()) {
        annotated_.push_back(control);
    }
}

}  // namespace cdr::win32
