# Streams, names and memory: reading a file at any offset and whether it may be read at all,
# file names in the system's encoding, the free memory, whether a process still runs, byte
# counts as text, the trace, byte order, buffered output and pixel rectangles. The ground
# floor: it uses no other folder.

set(SOURCES
  available_memory.cpp
  file_byte_reader.cpp
  file_length_text.cpp
  file_name_encoding.cpp
  pixel_rect.cpp
  process_gone.cpp
  readable_file.cpp
  trace.cpp)
