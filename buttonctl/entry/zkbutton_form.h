#pragma once
/* Form descriptions for hosts that load libzkbutton2 at run time.
 *
 * A host that creates its buttons through the class factory (zkbutton_factory.h) cannot
 * call zkButton::ReadProperties itself without linking the class. The library therefore
 * reads the host's form text (the layout of zk_form_text.h) and runs ReadProperties and
 * WriteProperties on the host's behalf, with one property bag per control block.
 *
 *   zkGetFormApi(abiVersion, out)   *out receives the function table (static, never freed);
 *                                   0, or ZK_E_NOINTERFACE for an unknown ABI version,
 *                                   ZK_E_POINTER for a null out.
 *
 * The table's functions, all on the user-interface thread:
 *   Parse(text, length, baseDir)    reads UTF-8 form text; relative pictures are loaded from
 *                                   baseDir (a folder or a Qt resource folder ":/...").
 *                                   Returns a form handle, never null; a text with a fault
 *                                   gives a form with no controls and an error.
 *   Free(form)                      releases the handle (null is allowed).
 *   Error(form, line)               "" when the text was read; otherwise the first fault
 *                                   (UTF-8) and, when line is not null, its 1-based line.
 *   Count(form)                     number of control blocks.
 *   Add(form, className, name)      appends an empty block; its index, or -1 when a name is
 *                                   not an identifier.
 *   ClassName(form, i), Name(form, i)
 *                                   UTF-8, valid until the form is freed; "" for a bad index.
 *   GetValue(form, i, key, out)     out is a QVariant*: receives the stored value; 1 when the
 *                                   key is present, 0 when absent or the index is bad.
 *   SetValue(form, i, key, value)   value is a const QVariant* of a plain type (bool, int,
 *                                   uint, QString), stored as it stands; 0 on success.
 *   ReadProperties(form, i, control), WriteProperties(form, i, control)
 *                                   control is the QWidget* the factory created. Runs the
 *                                   control's ReadProperties or WriteProperties with block
 *                                   i as the property bag; 0 on success, the host error
 *                                   code of the bag, or ZK_E_POINTER (null form or control,
 *                                   not a zkButton) / ZK_E_FAIL (bad index).
 *   Text(form, length)              the form written in the text layout (UTF-8, valid until
 *                                   the next call on this form); *length gets its size.
 */
#include "zkbutton_factory.h"

#ifdef __cplusplus
extern "C" {
#endif

#define ZK_FORM_ABI_VERSION 1

typedef struct zkFormApi {
    int abiVersion;
    void* (*Parse)(const char* text, long long length, const char* baseDir);
    void (*Free)(void* form);
    const char* (*Error)(void* form, int* line);
    int (*Count)(void* form);
    int (*Add)(void* form, const char* className, const char* name);
    const char* (*ClassName)(void* form, int index);
    const char* (*Name)(void* form, int index);
    int (*GetValue)(void* form, int index, const char* key, void* outVariant);
    int (*SetValue)(void* form, int index, const char* key, const void* variant);
    int (*ReadProperties)(void* form, int index, void* control);
    int (*WriteProperties)(void* form, int index, void* control);
    const char* (*Text)(void* form, long long* length);
} zkFormApi;

int zkGetFormApi(int abiVersion, const zkFormApi** out);

typedef int (*zkGetFormApiFn)(int, const zkFormApi**);

#ifdef __cplusplus
}
#endif
