/* Identifiers of the resources in wordhop.rc (shared with the C++ code). */
#pragma once

#define IDI_WORDHOP 1

#define IDR_IMAGE_ADD 101
#define IDR_IMAGE_REMOVE 102
#define IDR_IMAGE_MOVE_UP 103
#define IDR_IMAGE_MOVE_DOWN 104
#define IDR_IMAGE_OPEN_INI 105
#define IDR_IMAGE_DONATE 106
// The table of Windows API pages (api_pages.z, made by scripts/make-api-pages).
#define IDR_API_PAGES 120
