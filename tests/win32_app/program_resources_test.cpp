#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// The programs' paths in the build machine's file system, which Wine shows as drive Z:.
const char* const kPrograms[] = {CDR_CONFIG_EXE, CDR_DEMO_EXE, CDR_CLI_EXE};

std::wstring windowsPath(const char* buildPath) {
    std::wstring path = L"Z:";
    for (const char* character = buildPath; *character != '\0'; ++character) {
        path += *character == '/' ? L'\\' : static_cast<wchar_t>(*character);
    }
    return path;
}

// The program's image, mapped for its resources only.
class ProgramImage {
public:
    explicit ProgramImage(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ProgramImage() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    ProgramImage(const ProgramImage&) = delete;
    ProgramImage& operator=(const ProgramImage&) = delete;

    bool loaded() const { return module_ != nullptr; }
    bool has(const wchar_t* name, const wchar_t* type) const { return FindResourceW(module_, name, type) != nullptr; }

    // The manifest Windows reads when it starts the program.
    std::string manifest() const {
        const HRSRC found = FindResourceW(module_, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
        if (found == nullptr) return {};
        const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(bytes, SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

std::wstring versionValue(const std::wstring& path, const wchar_t* name) {
    std::vector<std::byte> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
        return {};
    }
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

TEST(ProgramResources, EveryProgramCarriesItsManifestForThemedControlsAndSharpTextAtAnyScale) {
    for (const char* program : kPrograms) {
        SCOPED_TRACE(program);
        const ProgramImage image(windowsPath(program));
        ASSERT_TRUE(image.loaded()) << GetLastError();
        const std::string manifest = image.manifest();
        EXPECT_TRUE(contains(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
        EXPECT_TRUE(contains(manifest, ">PerMonitorV2, PerMonitor</dpiAwareness>"));
        EXPECT_TRUE(contains(manifest, ">true/pm</dpiAware>"));
        EXPECT_TRUE(contains(manifest, "level=\"asInvoker\""));
        // Windows 7 and Windows 10/11, the oldest and the newest supported.
        EXPECT_TRUE(contains(manifest, "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"));
        EXPECT_TRUE(contains(manifest, "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"));
    }
}

TEST(ProgramResources, EveryProgramNamesItsProductVersionAndMakerAndHasTheIcon) {
    for (const char* program : kPrograms) {
        SCOPED_TRACE(program);
        const std::wstring path = windowsPath(program);
        EXPECT_EQ(versionValue(path, L"ProductName"), L"CDR55P4W configuration utility");
        EXPECT_EQ(versionValue(path, L"CompanyName"), L"cdr55p4w-config");
        EXPECT_EQ(versionValue(path, L"FileVersion").rfind(L"1.1.", 0), 0u);
        EXPECT_FALSE(versionValue(path, L"FileDescription").empty());
        EXPECT_TRUE(ProgramImage(path).has(L"MAINICON", RT_GROUP_ICON));
    }
}

}  // namespace
