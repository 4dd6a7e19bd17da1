// Security descriptors in their absolute form, and the check of the attributes that
// creators pass. Access itself is the creating user's (see mapping.h).
#include "mapping_store.h"

#include <cstring>

namespace kw {

bool validSecurityAttributes(const SECURITY_ATTRIBUTES* attributes) {
  if (!attributes || !attributes->lpSecurityDescriptor) return true;
  auto* descriptor = static_cast<const SECURITY_DESCRIPTOR*>(attributes->lpSecurityDescriptor);
  if (descriptor->Revision != SECURITY_DESCRIPTOR_REVISION) {
    SetLastError(ERROR_INVALID_SECURITY_DESCR);
    return false;
  }
  return true;
}

}  // namespace kw

KW32_API BOOL WINAPI InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR descriptor, DWORD revision) {
  if (!descriptor) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (revision != SECURITY_DESCRIPTOR_REVISION) {
    SetLastError(ERROR_UNKNOWN_REVISION);
    return FALSE;
  }
  auto* sd = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  std::memset(sd, 0, sizeof *sd);
  sd->Revision = SECURITY_DESCRIPTOR_REVISION;
  return TRUE;
}

KW32_API BOOL WINAPI SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR descriptor, BOOL daclPresent, PACL dacl,
                                               BOOL daclDefaulted) {
  auto* sd = static_cast<SECURITY_DESCRIPTOR*>(descriptor);
  if (!sd) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (sd->Revision != SECURITY_DESCRIPTOR_REVISION) {
    SetLastError(ERROR_UNKNOWN_REVISION);
    return FALSE;
  }
  sd->Control &= static_cast<SECURITY_DESCRIPTOR_CONTROL>(~(SE_DACL_PRESENT | SE_DACL_DEFAULTED));
  if (daclPresent) {
    sd->Control |= SE_DACL_PRESENT;
    if (daclDefaulted) sd->Control |= SE_DACL_DEFAULTED;
    sd->Dacl = dacl;  // null: access for everyone
  } else {
    sd->Dacl = nullptr;
  }
  return TRUE;
}
