#pragma once
/* C entry points of libzkbutton2 and the class factory a host reaches through them.
 *
 * A host creates buttons without linking the class: it loads the library (by the path the
 * component registry gives for the ProgID, or beside its executable), calls
 * DllGetClassObject with the class id, and asks the factory for an instance.
 *
 *   DllRegisterServer()   enters the ProgID "zkButtonProject.zkButton", the class id,
 *                         the library path and the type library (version 2.0) into the
 *                         per-user component registry file; 0 on success.
 *   DllUnregisterServer() removes those entries; 0 on success.
 *   DllGetClassObject(classId, iid, out)
 *                         classId as "{XXXXXXXX-...}"; iid must be ZK_IID_CLASSFACTORY;
 *                         *out receives a zkClassFactory* (static, never freed). Returns
 *                         0, or ZK_E_CLASSNOTAVAILABLE / ZK_E_NOINTERFACE / ZK_E_POINTER.
 *   zkButtonClassId()     the class id of zkButton, "{1CFA07B4-...}".
 *   DllCanUnloadNow()     0 when no object of the library is alive (buttons, property
 *                         pages and sheets) and no factory lock is held, 1 otherwise.
 *                         LockServer(0) without a matching LockServer(1) is ignored.
 *
 * The registry file is an INI file: $ZKBUTTON2_REGISTRY when set, else
 * $XDG_CONFIG_HOME/zkbutton2/components.ini (~/.config when unset). Its sections:
 *   [ProgID]                 <progid>=<class id>
 *   [CLSID.<class id>]       ProgID, Library (absolute path), TypeLib (library id),
 *                            Version ("2.0"), Name ("zkButton")
 *   [TypeLib.<library id>]   Name ("zkButtonProject"), Version ("2.0"), Library, HelpFile
 *
 * zkClassFactory::CreateInstance takes the parent QWidget* (may be null) and returns a new
 * QWidget* (the zkButton), or null. The widget belongs to its parent like any Qt child.
 */
#ifdef __cplusplus
extern "C" {
#endif

#define ZK_S_OK 0
#define ZK_S_FALSE 1
#define ZK_E_CLASSNOTAVAILABLE ((int)0x80040111u)
#define ZK_E_NOINTERFACE ((int)0x80004002u)
#define ZK_E_POINTER ((int)0x80004003u)
#define ZK_E_FAIL ((int)0x80004005u)
#define ZK_IID_CLASSFACTORY "{00000001-0000-0000-C000-000000000046}"
#define ZK_REGISTRY_ENV "ZKBUTTON2_REGISTRY"

typedef struct zkClassFactory {
    int abiVersion; /* 1 */
    void* (*CreateInstance)(void* parentWidget);
    void (*LockServer)(int lock);
} zkClassFactory;

int DllRegisterServer(void);
int DllUnregisterServer(void);
int DllGetClassObject(const char* classId, const char* iid, void** out);
int DllCanUnloadNow(void);
/* The built-in class id of zkButton (for a library found beside the executable). */
const char* zkButtonClassId(void);

typedef int (*zkDllGetClassObjectFn)(const char*, const char*, void**);
typedef int (*zkDllCanUnloadNowFn)(void);
typedef int (*zkDllRegisterServerFn)(void);

#ifdef __cplusplus
}
#endif
