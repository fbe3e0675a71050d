#!/usr/bin/env bash
# libzkbutton2 exports its public classes and its C entry points, nothing else: a leaked
# internal helper becomes part of the ABI that hosts may bind to.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
symbols=$(nm -D --defined-only --demangle "${1:?libzkbutton2.so}" | cut -d' ' -f3-)
entries=(DllRegisterServer DllUnregisterServer DllGetClassObject DllCanUnloadNow
    zkButtonClassId zkGetFormApi zkButton::staticMetaObject)
for entry in "${entries[@]}"; do
    grep -qx "$entry" <<<"$symbols" || fail "$entry is not exported"
done
public='zkButton|zkFont|zkPicture|zkPropertyBag|zkAmbientHost|zkWidgetAmbientHost|zkCursorSource'
public+='|zkMemoryPropertyBag|zkPropertySheet|zkPropertyPage|zkPageServices|zkPropertyWriter'
public+='|zkOpenFileDialog|zkColorDialog|zkFontList'
functions='zkSameValue|zkDetachFont|zkCreatePropertyPage|zk::(typeLibGuid|versionString|'
functions+='toolboxBitmap|errorString|aboutTitle|aboutText)'
# Template and inline instances of Qt and the standard library, and the address
# sanitizer's one-definition markers, may stay visible.
allowed="^(__bss_start|_edata|_end)$|^((vtable for|typeinfo for|typeinfo name for|guard variable for|non-virtual thunk to) )?(($public)(::|\$)|($functions)\(|($(IFS="|"; echo "${entries[*]:0:6}"))\$|(std|Q[A-Za-z]*)([:<]|$))|^__odr_asan\."
leaked=$(grep -Ev "$allowed" <<<"$symbols" || true)
[ -z "$leaked" ] || fail "exported beyond the public API:
$leaked"
echo "PASS: $(wc -l <<<"$symbols") exported symbols, all public"
