# Files, streams and memory: the atomic file writer and the names and nodes it works with,
# the trace, byte order and buffered output. The ground floor: it uses no other folder.

set(SOURCES
  atomic_file.cpp
  fd_output_stream.cpp
  file_name_encoding.cpp
  link_target.cpp
  process_umask.cpp
  target_node.cpp
  temp_file_name.cpp
  trace.cpp)
