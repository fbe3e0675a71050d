#pragma once
// The published identity of the zkButton2 library: type-library names and fixed ids,
// property-page order, version information, the toolbox bitmap, the error texts, and the
// count of live library objects that DllCanUnloadNow answers from.
#include "zkbutton2_export.h"
#include <QImage>
#include <QLatin1StringView>
#include <QString>
#include <array>
#include <utility>

namespace zk {

inline constexpr const char* kProgId = "zkButtonProject.zkButton";
inline constexpr const char* kTypeLibName = "zkButtonProject";
inline constexpr const char* kTypeLibHelpString = "zkButtonProject";
inline constexpr const char* kTypeLibHelpFile = "zkButton2.hlp";
inline constexpr int kTypeLibMajor = 2;
inline constexpr int kTypeLibMinor = 0;
inline constexpr const char* kLibraryFileName = "zkButton2.ocx";

struct TypeLibEntry {
    const char* name;
    const char* guid;
};

// Every entry of the type library with its identifier, fixed once and never changed.
inline constexpr std::array<TypeLibEntry, 19> kTypeLibEntries{{
    {"zkButtonProject", "{C565EC9C-A657-4C0A-A466-A05AFC563E47}"},
    {"zkButton", "{1CFA07B4-5195-4D45-A378-92E00E090F3A}"},
    {"_zkButton", "{5C549EB8-C50C-41B2-94C4-D177B49D6C28}"},
    {"__zkButton", "{6D6A97D2-FF84-4C20-AE70-38B9A311FED3}"},
    {"ppgButton", "{B9E8E80C-87FA-4376-971C-38C634C8DAA7}"},
    {"_ppgButton", "{3C2FC8FC-BA27-4ACC-B0E0-AE16DD8CD263}"},
    {"ppgPicture", "{99E75FD4-9B64-42B7-AEEC-C825F754FE07}"},
    {"_ppgPicture", "{222917CF-D18D-4102-A56D-92CE14951A63}"},
    {"ppgFont", "{13DACFBA-0997-4E68-B255-9478C656E6F6}"},
    {"_ppgFont", "{BCA2E005-9EEC-4CBC-BC69-CF42D72BCB61}"},
    {"ppgColor", "{C99C3713-ECDB-487E-8137-7D8A80823D9B}"},
    {"_ppgColor", "{058FA857-7BC9-4A84-87CA-9E3D13E4D36E}"},
    {"AppearanceEnum", "{39F58BE5-EEF4-45DF-AF64-3794BE31C41C}"},
    {"CaptionAlignEnum", "{4AE4EED2-42B4-4569-A4CC-BDC222E5C930}"},
    {"OLEDropModeEnum", "{7951621D-6BAB-4F32-9F9F-CC2FB392B514}"},
    {"PictureAlignEnum", "{940A52FC-497A-464F-88DF-4AF70061F2B0}"},
    {"StyleEnum", "{1882D126-BF92-414E-B29F-4C89CD7ACB74}"},
    {"ValueEnum", "{690A1CDF-4404-4DDF-BA6F-36197B755D5A}"},
    {"BorderStyleEnum", "{B83E5947-EDA4-4621-A975-BA00DE888C6F}"},
}};

inline constexpr const char* kLibraryId = "{C565EC9C-A657-4C0A-A466-A05AFC563E47}";
inline constexpr const char* kButtonClassId = "{1CFA07B4-5195-4D45-A378-92E00E090F3A}";

// The identifier of a type-library entry by name; nullptr for an unknown name.
ZKBUTTON2_EXPORT const char* typeLibGuid(const char* name);

// The order in which a host shows the button's property pages.
inline constexpr std::array<const char*, 4> kPropertyPageOrder{"ppgButton", "ppgPicture",
                                                               "ppgColor", "ppgFont"};

// Version information of the library file (language 0x0411, Unicode).
inline constexpr int kVersionLanguage = 0x0411;
inline constexpr std::array<std::pair<const char*, const char*>, 8> kVersionInfo{{
    {"FileVersion", "1.00.0002"},
    {"ProductVersion", "1.00.0002"},
    {"Comments", "zkButton2 Control"},
    {"FileDescription", "zkButton2 Control"},
    {"ProductName", "zkButton2 Control"},
    {"InternalName", "zkButton2"},
    {"OriginalFilename", "zkButton2.ocx"},
    {"OLESelfRegister", ""},
}};
// The value of a version entry, or a null string for an unknown key.
ZKBUTTON2_EXPORT QString versionString(const char* key);

// The 16 x 15, 24-bit toolbox image (resource id 30000).
inline constexpr int kToolboxBitmapId = 30000;
ZKBUTTON2_EXPORT QImage toolboxBitmap();

// The text of a PaintPicture result code; empty for 0 and every unknown code.
ZKBUTTON2_EXPORT QString errorString(int code);

// The About box: title and text.
ZKBUTTON2_EXPORT QString aboutTitle();
ZKBUTTON2_EXPORT QString aboutText();

// Live objects of the library (buttons, property pages and sheets, factory locks).
// objectDestroyed never takes the count below zero.
void objectCreated();
void objectDestroyed();
int liveObjects();

// Counts as one live object for as long as it exists: a member of each property page (a
// sheet holds pages), so DllCanUnloadNow keeps the library loaded under them.
class LiveObject {
public:
    LiveObject() { objectCreated(); }
    LiveObject(const LiveObject&) : LiveObject() {}
    LiveObject& operator=(const LiveObject&) { return *this; }
    ~LiveObject() { objectDestroyed(); }
};

} // namespace zk
