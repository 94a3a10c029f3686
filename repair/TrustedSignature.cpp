#include "TrustedSignature.h"

#include "TrustedSigners.h"

#include <UniqueHandle.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace repair {

namespace {

// The verified state data stays open until the signer has been read from it.
class VerifiedState {
public:
    VerifiedState(WINTRUST_DATA& data, GUID action) : data_(data), action_(action) {}
    ~VerifiedState()
    {
        data_.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action_, &data_);
    }
    VerifiedState(const VerifiedState&) = delete;
    VerifiedState& operator=(const VerifiedState&) = delete;

private:
    WINTRUST_DATA& data_;
    GUID action_;
};

// Exact, case-sensitive: a certificate name is not a file name.
bool IsTrustedSignerName(std::wstring_view name)
{
    return !name.empty() && std::any_of(std::begin(kTrustedSigners), std::end(kTrustedSigners),
                                        [&](const wchar_t* trusted) { return name == trusted; });
}

std::wstring CommonName(PCCERT_CONTEXT certificate)
{
    const void* oid = szOID_COMMON_NAME;
    const DWORD length = CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, const_cast<void*>(oid), nullptr, 0);
    if (length <= 1)
        return {};
    std::vector<wchar_t> name(length);
    CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, const_cast<void*>(oid), name.data(), length);
    return std::wstring(name.data());
}

// WinVerifyTrust alone accepts a chain that ends at an unknown root on some systems (Wine's),
// and their policy check passes a chain that ends at no root at all (a signer whose issuer is in
// no store: CERT_TRUST_IS_PARTIAL_CHAIN), so the chain's own error bits are read too. Revocation
// is not looked up, so its "unknown" bits say nothing.
bool MeetsAuthenticodePolicy(PCCERT_CHAIN_CONTEXT chain)
{
    constexpr DWORD kRevocationNotChecked = CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION;
    if (chain->TrustStatus.dwErrorStatus & ~kRevocationNotChecked)
        return false;
    CERT_CHAIN_POLICY_PARA policy = {};
    policy.cbSize = sizeof(policy);
    CERT_CHAIN_POLICY_STATUS status = {};
    status.cbSize = sizeof(status);
    return CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, chain, &policy, &status) &&
           status.dwError == ERROR_SUCCESS;
}

// The leaf of the chain that WinVerifyTrust built and verified, never a certificate read from the
// file on its own.
bool SignerIsTrusted(HANDLE stateData)
{
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(stateData);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    if (!signer || !signer->pChainContext || signer->pChainContext->cChain == 0)
        return false;
    const CERT_SIMPLE_CHAIN* chain = signer->pChainContext->rgpChain[0];
    if (chain->cElement == 0 || !MeetsAuthenticodePolicy(signer->pChainContext))
        return false;
    return IsTrustedSignerName(CommonName(chain->rgpElement[0]->pCertContext));
}

}  // namespace

bool HasTrustedSignature(const std::wstring& path)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    WINTRUST_FILE_INFO fileInfo = {};
    fileInfo.cbStruct = sizeof(fileInfo);
    fileInfo.pcwszFilePath = path.c_str();
    fileInfo.hFile = file.Get();
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL | WTD_REVOCATION_CHECK_NONE;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG verdict = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    const VerifiedState state(data, action);
    return verdict == ERROR_SUCCESS && SignerIsTrusted(data.hWVTStateData);
}

}  // namespace repair
