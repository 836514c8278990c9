// key_access.exe deny|allow: gives the product key an access list that
// denies everyone setting values, or one that allows everything again.
// Exit code 0 when the list was set.
#include <windows.h>

#include <sddl.h>

#include <cstring>

static const char ProductKeyPath[] = "Software\\Larkspoon Software\\Tallywhirl";

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const char* descriptor =
        strcmp(argv[1], "deny") == 0 ? "D:(D;;0x2;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                              &security, nullptr))
        return 1;
    HKEY key;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath, 0, WRITE_DAC, &key);
    if (result == ERROR_SUCCESS) {
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, security);
        RegCloseKey(key);
    }
    LocalFree(security);
    return result == ERROR_SUCCESS ? 0 : 1;
}
