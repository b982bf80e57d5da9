# Files, streams and memory: the atomic file writer with the names and nodes it works with,
# reading a file at any offset and whether it may be read at all, the free memory, whether a
# process still runs, byte counts as text, the trace, byte order and buffered output. The
# ground floor: it uses no other folder.

set(SOURCES
  atomic_file.cpp
  available_memory.cpp
  fd_output_stream.cpp
  file_byte_reader.cpp
  file_length_text.cpp
  file_name_encoding.cpp
  link_target.cpp
  process_gone.cpp
  process_umask.cpp
  readable_file.cpp
  target_node.cpp
  temp_file_name.cpp
  trace.cpp)
