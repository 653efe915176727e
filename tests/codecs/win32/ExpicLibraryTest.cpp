// The external decoder library under Wine: our Expic.dll's exports, and the loaders using it once it is
// installed in the system directory (and the built-in decoder while it is not).
#include <windows.h>

#include <gtest/gtest.h>

#include "codecs/ExtendedLibrary.h"
#include "codecs/PictureLoad.h"
#include "codecs/win32/ProcAddress.h"
#include "db/MemoryFile.h"
#include "gfx/Picture.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "support/DecodeTestSupport.h"

using namespace Samples;

namespace {

using LoadFromFileProc = HDC(WINAPI*)(const char*, int*, int*);
using LoadFromStreamProc = HDC(WINAPI*)(const char*, int, int*, int*, int);
using FreeImageProc = void(WINAPI*)(HDC);

// The DLL built next to the tests: build/tools/expic/Expic.dll beside build/tests/test_image.exe.
std::string BuiltDll()
{
    return DirectoryOf(ModuleFilePath()) + "..\\tools\\expic\\Expic.dll";
}

std::string SystemDll()
{
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\Expic.dll";
}

// Installs a DLL as the system's Expic.dll for one test and removes it afterwards.
class InstalledLibrary {
public:
    explicit InstalledLibrary(const std::string& source)
    {
        ok_ = CopyFileA(source.c_str(), SystemDll().c_str(), FALSE);
    }
    ~InstalledLibrary() { DeleteFileA(SystemDll().c_str()); }
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

} // namespace

TEST(ExpicDll, ExportsTheFourCallsUndecorated)
{
    HMODULE dll = LoadLibraryA(BuiltDll().c_str());
    ASSERT_NE(dll, nullptr) << "build the Expic target: " << BuiltDll();
    for (const char* name : {"eLoadImageFilefromFile", "eLoadImageFilefromStream", "eFreeImage", "eGetImageDC"})
        EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(dll, "_eFreeImage@4"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "eFreeImage@4"), nullptr);

    auto load = ProcAddress<LoadFromFileProc>(dll, "eLoadImageFilefromFile");
    auto loadStream = ProcAddress<LoadFromStreamProc>(dll, "eLoadImageFilefromStream");
    auto release = ProcAddress<FreeImageProc>(dll, "eFreeImage");
    int width = -1, height = -1;
    HDC image = load(Path("pattern.pcx").c_str(), &width, &height);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    // The handle is a device context with the image at its origin.
    EXPECT_EQ(GetPixel(image, 1, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(image, 0, 1), RGB(0, 0, 255));
    release(image);

    // From a stream's temporary copy: only length bytes count.
    width = height = -1;
    auto bytes = Read("pattern.sgi");
    EXPECT_EQ(loadStream(Path("pattern.sgi").c_str(), static_cast<int>(bytes.size()) - 1, &width, &height, 3), nullptr);
    image = loadStream(Path("pattern.sgi").c_str(), static_cast<int>(bytes.size()), &width, &height, 3);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, kWidth);
    release(image);
    EXPECT_EQ(load(Path("missing.png").c_str(), &width, &height), nullptr);
    FreeLibrary(dll);
}

TEST(ExpicDll, LoadersUseTheInstalledLibrary)
{
    InstalledLibrary installed(BuiltDll());
    ASSERT_TRUE(installed.Ok()) << SystemDll();
    DecodedImage image;
    auto result = ExtendedDecodeFile(Path("pattern.psd"), image);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.viaLibrary);
    EXPECT_TRUE(Matches(image, PatternColour));

    // Pictures from files and from streams (through the temporary copy) alike.
    for (const char* name : {"pattern.png", "pattern-rle.tga", "grey.bw", "pattern.pcx", "mono.pbm"}) {
        Picture fromFile;
        EXPECT_EQ(LoadFromFile(fromFile, Path(name)), 1) << name;
        auto bytes = Read(name);
        MemoryFile stream;
        stream.Write(bytes.data(), bytes.size());
        Picture fromStream;
        EXPECT_EQ(LoadFromStream(fromStream, stream, name), 1) << name;
        EXPECT_EQ(fromStream.ToDecoded().pixels, fromFile.ToDecoded().pixels) << name;
    }
    // What the library rejects fails, picture unchanged.
    Picture picture;
    ASSERT_EQ(picture.CreateBlank(4, 4, 0), 1);
    MemoryFile junk;
    junk.Write("not an image at all", 19);
    EXPECT_EQ(LoadFromStream(picture, junk, "x.png"), 0);
    EXPECT_EQ(picture.Width(), 4);
}

TEST(ExpicDll, WithoutALibraryTheBuiltInDecoderAnswers)
{
    DeleteFileA(SystemDll().c_str());
    DecodedImage image;
    auto result = ExtendedDecodeFile(Path("pattern.png"), image);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.viaLibrary);
    EXPECT_TRUE(Matches(image, PatternColour));

    // A DLL of that name without the calls is no decoder either.
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    InstalledLibrary impostor(std::string(dir) + "\\version.dll");
    ASSERT_TRUE(impostor.Ok());
    result = ExtendedDecodeFile(Path("pattern.png"), image);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.viaLibrary);
}

// A timing figure, run by hand: QM_DECODE_TIMING_FILE names a large image (e.g. a 24-megapixel JPEG);
//   test_image.exe --gtest_also_run_disabled_tests --gtest_filter=*DecodeTiming*
TEST(DecodeTiming, DISABLED_LoadFromFile)
{
    const char* path = getenv("QM_DECODE_TIMING_FILE");
    if (!path)
        GTEST_SKIP() << "QM_DECODE_TIMING_FILE not set";
    for (int run = 0; run < 3; ++run) {
        Picture picture;
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        ASSERT_EQ(LoadFromFile(picture, path), 1);
        QueryPerformanceCounter(&end);
        printf("%s: %d x %d in %.1f ms\n", path, picture.Width(), picture.Height(),
               1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
}
