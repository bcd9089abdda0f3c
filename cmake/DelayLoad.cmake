# Import libraries whose DLL loads on the first call instead of at start-up: what the panel's
# first look never calls (the web, the digests of icon names, the address lookup's sockets) stays
# out of its memory until used.
# Under Wine the crypto DLL brings the whole TLS stack along when it loads.
#   velora_delay_import(NAME DLL EXPORTS…) makes the target velora_delayed_NAME.
function(velora_delay_import name dll)
  set(folder "${CMAKE_BINARY_DIR}/delay_imports")
  set(def "${folder}/${name}.def")
  set(lib "${folder}/lib${name}_delayed.a")
  list(JOIN ARGN "\n" exports)
  file(MAKE_DIRECTORY "${folder}")
  file(WRITE "${def}" "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  execute_process(COMMAND x86_64-w64-mingw32-dlltool --def "${def}" --dllname ${dll} --output-delaylib "${lib}"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make the delayed import library of ${dll}")
  endif()
  add_library(velora_delayed_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(velora_delayed_${name} PROPERTIES IMPORTED_LOCATION "${lib}")
endfunction()

if(NOT VELORA_NATIVE)
  velora_delay_import(bcrypt bcrypt.dll BCryptCloseAlgorithmProvider BCryptCreateHash BCryptDestroyHash
    BCryptFinishHash BCryptHashData BCryptOpenAlgorithmProvider)
  velora_delay_import(winhttp winhttp.dll WinHttpAddRequestHeaders WinHttpCloseHandle WinHttpConnect
    WinHttpCrackUrl WinHttpOpen WinHttpOpenRequest WinHttpQueryHeaders WinHttpReadData
    WinHttpReceiveResponse WinHttpSendRequest WinHttpSetOption WinHttpSetTimeouts)
  velora_delay_import(ws2_32 ws2_32.dll WSACleanup WSAGetLastError WSAStartup __WSAFDIsSet closesocket
    connect freeaddrinfo getaddrinfo gethostbyname gethostname getsockopt ioctlsocket recv select socket)
  # Opened only when the user exports or imports from the about page.
  velora_delay_import(comdlg32 comdlg32.dll GetOpenFileNameW GetSaveFileNameW)
  # Asked for only when an assistive tool reads the panel.
  velora_delay_import(oleacc oleacc.dll AccessibleObjectFromWindow CreateStdAccessibleObject LresultFromObject)
  velora_delay_import(oleaut32 oleaut32.dll SysAllocStringLen VariantInit)
  velora_delay_import(wininet wininet.dll InternetCloseHandle InternetOpenUrlW InternetOpenW InternetReadFile
    InternetSetOptionW)
endif()
