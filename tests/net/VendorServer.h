#pragma once

#include <string>
#include <vector>

// The local vendor server that the ctest fixture step (tools/vendor-server-fixture.sh) started
// for this run; its folder sits in the fixtures folder beside the test exe.
namespace vendor_server {

std::wstring Folder();  // with a trailing backslash
std::wstring HttpBase();   // "http://127.0.0.1:<port>"
std::wstring HttpsBase();  // "https://127.0.0.1:<port>"
bool Running();            // the ports file was found

// The requests the server logged after this object was made, as "<METHOD> <target>".
class RequestLog {
public:
    RequestLog();
    std::vector<std::string> NewLines() const;

private:
    size_t start_ = 0;
};

// Serves another catalogue while it lives; the previous one comes back afterwards.
class ScopedCatalogue {
public:
    explicit ScopedCatalogue(const std::string& json);
    ~ScopedCatalogue();
    ScopedCatalogue(const ScopedCatalogue&) = delete;
    ScopedCatalogue& operator=(const ScopedCatalogue&) = delete;

private:
    std::string previous_;
};

}  // namespace vendor_server
