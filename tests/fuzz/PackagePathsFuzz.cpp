#include <string>

#include "FuzzSupport.h"
#include "PackagePaths.h"

// The file name holds no separator and ends the url; the other paths are built on the local
// file; the drive roots are at most "C:\" long.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring work = ConsumeWide(input, input.ConsumeIntegralInRange<size_t>(0, 64));
    const std::wstring url = RemainingWide(input);
    const repair::PackagePaths paths = repair::PackagePathsFor(work, url);
    FUZZ_CHECK(paths.fileName.find_first_of(L"/\\") == std::wstring::npos);
    FUZZ_CHECK(std::wstring_view(url).ends_with(paths.fileName));
    FUZZ_CHECK(paths.localFile == work + paths.fileName);
    FUZZ_CHECK(paths.packageFolder == paths.localFile + L"dir\\" && paths.logFile == paths.localFile + L".log.txt");
    FUZZ_CHECK(repair::DriveRoot(work).size() <= 3 && work.starts_with(repair::DriveRoot(work)));
    FUZZ_CHECK(repair::SystemDriveRoot(work) == L"C:\\");
    return 0;
}
