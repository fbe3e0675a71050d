#!/usr/bin/env bash
# libzkbutton2 exports its public classes and its C entry points, nothing else: a leaked
# internal helper becomes part of the ABI that hosts may bind to.
# Usage: check_exports.sh <libzkbutton2.so>
set -euo pipefail
lib=${1:?library}
fail() { echo "FAIL: $*" >&2; exit 1; }

# Defined dynamic symbols, demangled, without address and type.
symbols=$(nm -D --defined-only --demangle "$lib" | cut -d' ' -f3-)
entries=(DllRegisterServer DllUnregisterServer DllGetClassObject DllCanUnloadNow
    zkButtonClassId zkGetFormApi)
for entry in "${entries[@]}"; do
    grep -qx "$entry" <<<"$symbols" || fail "entry point $entry is not exported"
done
grep -q '^zkButton::staticMetaObject$' <<<"$symbols" || fail "zkButton is not exported"

public='zkButton|zkFont|zkPicture|zkPropertyBag|zkAmbientHost|zkWidgetAmbientHost|zkCursorSource'
public+='|zkMemoryPropertyBag|zkPropertySheet|zkPropertyPage|zkPageServices|zkPropertyWriter'
public+='|zkOpenFileDialog|zkColorDialog|zkFontList'
functions='zkSameValue|zkDetachFont|zkCreatePropertyPage|zk::(typeLibGuid|versionString|'
functions+='toolboxBitmap|errorString|aboutTitle|aboutText)'
# Template and inline instances of Qt and the standard library may stay visible.
allowed="^(__bss_start|_edata|_end)$|^((vtable for|typeinfo for|typeinfo name for|guard variable for|non-virtual thunk to) )?(($public)(::|\$)|($functions)\(|($(IFS="|"; echo "${entries[*]}"))\$|(std|Q[A-Za-z]*)[:<])"
leaked=$(grep -Ev "$allowed" <<<"$symbols" || true)
[ -z "$leaked" ] || fail "exported beyond the public API:
$leaked"
echo "PASS: $(wc -l <<<"$symbols") exported symbols, all public"
