# Copies INPUT to OUTPUT with CR LF line ends: cmake -DINPUT=... -DOUTPUT=... -P crlf.cmake
configure_file(${INPUT} ${OUTPUT} @ONLY NEWLINE_STYLE CRLF)
