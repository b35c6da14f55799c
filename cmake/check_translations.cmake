# Fails when a translation file still has a message marked unfinished: such a message shows
# in the program's source language. Run as: cmake -DTS_FILE=<file.ts> -P check_translations.cmake
file(READ "${TS_FILE}" ts)
string(REGEX MATCHALL "<message[^>]*>([^<]|<[^/]|</[^m])*</message>" messages "${ts}")
set(unfinished "")
foreach(message IN LISTS messages)
    if(message MATCHES "type=\"unfinished\"")
        string(REGEX MATCH "<source>[^<]*</source>" source "${message}")
        string(REGEX REPLACE "</?source>" "" source "${source}")
        string(APPEND unfinished "\n  ${source}")
    endif()
endforeach()
if(unfinished)
    message(FATAL_ERROR "${TS_FILE} has unfinished messages (translate them, or mark "
                        "them finished where the text is the same in both languages):${unfinished}")
endif()
