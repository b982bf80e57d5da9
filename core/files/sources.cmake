# Writing files safely: the atomic file writer (a temporary file beside the target, written
# through a descriptor stream, synced and renamed into place), the names of its temporary files
# and their sweep, scratch files for libraries that write only to a path, the target's node
# and link, and the mode new files get. Uses base/.

set(SOURCES
  atomic_file.cpp
  fd_output_stream.cpp
  link_target.cpp
  process_umask.cpp
  scratch_file.cpp
  target_node.cpp
  temp_file_name.cpp)
