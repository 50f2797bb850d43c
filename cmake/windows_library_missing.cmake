# Stops configuring on a Windows host that lacks a library, with one message
# that says where to get it: vcpkg's manifest for the Visual Studio presets,
# MSYS2's package for the MSYS2 presets.
#   windows_library_missing(<name> <vcpkg port> <MSYS2 package after "mingw-w64-<arch>-">)
function(windows_library_missing name vcpkg_port msys2_package)
  if(MSVC)
    message(FATAL_ERROR
      "${name} was not found. The Visual Studio presets take it from vcpkg's manifest (vcpkg.json, "
      "port '${vcpkg_port}'): configure in a Developer Command Prompt with VCPKG_ROOT set "
      "(set VCPKG_ROOT=%VSINSTALLDIR%VC\\vcpkg), or run 'vcpkg install ${vcpkg_port}' in the clone.")
  else()
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      set(arch x86_64)
    else()
      set(arch i686)
    endif()
    message(FATAL_ERROR
      "${name} was not found. In the MSYS2 shell of this build, install it with: "
      "pacman -S --needed mingw-w64-${arch}-${msys2_package}")
  endif()
endfunction()
