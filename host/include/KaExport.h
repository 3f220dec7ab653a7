// Import/export decoration of the replacement host's modules. Each module
// defines its *_EXPORTS symbol while it is built; everyone else imports.
#pragma once

#define KA_DLL_EXPORT __declspec(dllexport)
#define KA_DLL_IMPORT __declspec(dllimport)

#ifdef HX_GNR_SYSTEM_EXPORTS
#define HX_GNR_API KA_DLL_EXPORT
#else
#define HX_GNR_API KA_DLL_IMPORT
#endif

#ifdef HX_W32_SYSTEM_EXPORTS
#define HX_SYS_API KA_DLL_EXPORT
#else
#define HX_SYS_API KA_DLL_IMPORT
#endif

#ifdef HX_W32_SIMPLESERIAL_EXPORTS
#define HX_SERIAL_API KA_DLL_EXPORT
#else
#define HX_SERIAL_API KA_DLL_IMPORT
#endif

#ifdef HX_W32_DMAPI_EXPORTS
#define HX_DM_API KA_DLL_EXPORT
#else
#define HX_DM_API KA_DLL_IMPORT
#endif

#ifdef HX_W32_DEVICEUI_EXPORTS
#define HX_UI_API KA_DLL_EXPORT
#else
#define HX_UI_API KA_DLL_IMPORT
#endif
