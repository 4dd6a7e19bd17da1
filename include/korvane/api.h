/* Linkage and calling-convention macros of the exported interface. */
#ifndef KORVANE_API_H
#define KORVANE_API_H

#ifdef __cplusplus
#define KV_EXTERN_C extern "C"
#else
#define KV_EXTERN_C extern
#endif

/* The callee pops its arguments on 32-bit Windows, as every caller of the library expects. */
#if defined(_WIN32) && !defined(_WIN64)
#define KV_CALL __stdcall
#else
#define KV_CALL
#endif

/* On ELF the version script decides what is exported; the attribute keeps the symbol
   visible under -fvisibility=hidden so that the script can name it. On Windows the
   .def file does the same job. */
#if defined(_WIN32)
#define KV_VISIBLE
#else
#define KV_VISIBLE __attribute__((visibility("default")))
#endif

/* An exported function or object with C linkage. */
#define KV_API KV_EXTERN_C KV_VISIBLE
/* One of the few exports with C++ linkage (argument-type decorated names). */
#define KV_CPP_API KV_VISIBLE

#endif
