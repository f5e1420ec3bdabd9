# OpenCV's own package file when there is one (a static build named by OpenCV_DIR,
# or Debian's libopencv-dev); else the modules Debian ships on their own
# (libopencv-imgproc-dev, libopencv-photo-dev), which carry no package file.
# Sets OpenCV_FOUND, OpenCV_LIBS and OpenCV_INCLUDE_DIRS as OpenCV's file does.
find_package(OpenCV CONFIG QUIET COMPONENTS ${OpenCV_FIND_COMPONENTS})
if(OpenCV_FOUND)
  return()
endif()

find_path(OpenCV_INCLUDE_DIRS opencv2/core.hpp PATH_SUFFIXES opencv4)
set(OpenCV_LIBS "")
set(_opencv_missing "")
foreach(_module IN LISTS OpenCV_FIND_COMPONENTS)
  find_library(OpenCV_${_module}_LIBRARY opencv_${_module})
  if(OpenCV_${_module}_LIBRARY)
    list(APPEND OpenCV_LIBS ${OpenCV_${_module}_LIBRARY})
    set(OpenCV_${_module}_FOUND TRUE)
  else()
    list(APPEND _opencv_missing ${_module})
  endif()
endforeach()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(OpenCV REQUIRED_VARS OpenCV_INCLUDE_DIRS OpenCV_LIBS HANDLE_COMPONENTS
  REASON_FAILURE_MESSAGE "missing modules: ${_opencv_missing}")
