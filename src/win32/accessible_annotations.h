#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string_view>
#include <vector>

namespace cdr::win32 {

// Names and descriptions that assistive technology reads for controls whose own text does not say it, given
// through the system's annotation of the controls' accessible objects. Where the system offers no annotation
// service, nothing is annotated.
class AccessibleAnnotations {
public:
    AccessibleAnnotations();
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    void setName(HWND control, std::wstring_view name) { annotate(control, PROPID_ACC_NAME, name); }
    void setDescription(HWND control, std::wstring_view description) {
        annotate(control, PROPID_ACC_DESCRIPTION, description);
    }

private:
    void annotate(HWND control, const MSAAPROPID& property, std::wstring_view text);

    bool comStarted_ = false;
    IAccPropServices* services_ = nullptr;
    std::vector<HWND> annotated_;
};

}  // namespace cdr::win32
