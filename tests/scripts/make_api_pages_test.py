"""The API table's generator on literal header lines."""
import importlib.machinery
import importlib.util
import sys
import tempfile
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "make-api-pages"
loader = importlib.machinery.SourceFileLoader("make_api_pages", str(SCRIPT))
generator = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
loader.exec_module(generator)


class Generator(unittest.TestCase):
    def test_declarations(self):
        cases = [
            ("WINUSERAPI WINBOOL WINAPI GetClientRect(HWND hWnd,LPRECT lpRect);", {"GetClientRect"}),
            ("WINBASEAPI WINBOOL WINAPI\n  ReadFile (HANDLE h, LPVOID p);", {"ReadFile"}),
            ("WINOLEAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN p);", {"CoCreateInstance"}),
            ("LWSTDAPI_(WINBOOL) PathFileExistsW(LPCWSTR pszPath);", {"PathFileExistsW"}),
            # Only look like declarations: a pointer type, a macro, a C++
            # method, a MIDL proxy, a C runtime function.
            ("typedef WINBOOL (WINAPI *PFNGETCLIENTRECT)(HWND,LPRECT);", set()),
            ("#define GetWindowText __MINGW_NAME_AW(GetWindowText)", set()),
            ("struct T { public: virtual HRESULT WINAPI GetClientRect(LONG t) = 0; };", set()),
            ("HRESULT WINAPI ITextDocument_Open_Proxy(ITextDocument *This);", set()),
            ("_CRTIMP int __cdecl printf(const char *format, ...);", set()),
        ]
        for line, names in cases:
            with self.subTest(line=line):
                self.assertEqual(generator.declared_functions(line), names)

    def test_headers(self):
        headers = {
            "winuser.h": "WINUSERAPI int WINAPI GetWindowTextA(HWND,LPSTR,int);\n"
                         "WINUSERAPI int WINAPI GetWindowTextW(HWND,LPWSTR,int);\n"
                         "WINUSERAPI LPWSTR WINAPI CharNextW(LPCWSTR);\n",
            "winsock.h": "int WSAAPI bind(SOCKET s,const struct sockaddr *name,int namelen);\n",
            "winsock2.h": "WINSOCK_API_LINKAGE int WSAAPI bind(SOCKET s,const struct sockaddr *name,int namelen);\n",
            "objbase.h": "WINOLEAPI CoInitialize(LPVOID pvReserved);\n",
            "combaseapi.h": "WINOLEAPI CoInitialize(LPVOID pvReserved);\n",
            "shlobj.h": "SHFOLDERAPI SHGetFolderPathW(HWND,int,HANDLE,DWORD,LPWSTR);\n",
            "mmsystem.h": "WINMMAPI DWORD WINAPI timeGetTime(void);\nWINMMAPI MMRESULT WINAPI timeKillEvent(UINT);\n",
        }
        with tempfile.TemporaryDirectory() as folder:
            for name, text in headers.items():
                (Path(folder) / name).write_text(text)
            table = generator.build(folder)
        self.assertEqual(table, {
            "winuser": {"GetWindowText*", "CharNextW"},  # both forms once; a W alone stays
            "winsock2": {"bind"},                         # declared twice: the documented header
            "combaseapi": {"CoInitialize"},               # the API set's header first
            "shlobj_core": {"SHGetFolderPathW"},          # filed under another header
            "timeapi": {"timeGetTime"},                   # timeKillEvent has no page: left out
        })


if __name__ == "__main__":
    sys.exit(unittest.main())
