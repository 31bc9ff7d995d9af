# Run by the build (cmake -P) before the layers of src/ compile: an include
# that climbs out of its folder ("../link/x.h") or names a file by its full
# path would reach a layer the including library does not link, around the
# include roots that keep the layers apart (src/CMakeLists.txt). Such a line
# fails the build. Every folder's includes name the folder: "link/x.h".
#   cmake -DVQ_CHECK_DIRS="<dir>;<dir>" -P includecheck.cmake
set(bad)
foreach(dir IN LISTS VQ_CHECK_DIRS)
  file(GLOB_RECURSE files ${dir}/*.h ${dir}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](\\.\\.|/|[A-Za-z]:)")
    foreach(line IN LISTS lines)
      list(APPEND bad "${file}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " text)
  message(FATAL_ERROR "Includes that leave their folder (name the folder instead: \"link/x.h\"):\n  ${text}")
endif()
