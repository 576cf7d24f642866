# cmake -DIN=file -DOUT=file -P EmbedText.cmake
# Writes the text of IN as one C++ raw string literal into OUT.
file(READ "${IN}" content)
file(WRITE "${OUT}.tmp" "R\"morvtxt(${content})morvtxt\"\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
