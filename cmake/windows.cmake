# The Windows programs: the tool itself, and the fixture, driver and benchmark that test it.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
if(MINGW)
  # One self-contained .exe: no C++ runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++ -municode)
  # Release programs are shipped, and tested, without their symbol tables.
  add_link_options($<$<CONFIG:Release>:-s>)
endif()

# The version header and the manifest carry the project's version; the resource scripts find
# them in the build folder's resources/.
set(quellon_generated ${PROJECT_BINARY_DIR}/resources)
function(quellon_padded number width out)
  string(LENGTH "${number}" length)
  math(EXPR zeros "${width} - ${length}")
  string(REPEAT "0" ${zeros} padding)
  set(${out} "${padding}${number}" PARENT_SCOPE)
endfunction()
quellon_padded(${PROJECT_VERSION_MINOR} 2 minor)
quellon_padded(${PROJECT_VERSION_TWEAK} 4 tweak)
set(QUELLON_VERSION_RESOURCE_TEXT "${PROJECT_VERSION_MAJOR}.${minor}.${tweak}")
configure_file(resources/version.h.in ${quellon_generated}/version.h @ONLY)
configure_file(resources/quellon.manifest.in ${quellon_generated}/quellon.manifest @ONLY)

# The names that the tool, the e2e driver and the benchmark share, set here alone: the
# executable's (without ".exe") and the stem of the tool's window classes.
set(QUELLON_TOOL_NAME "Tarnwick WQuellon")
set(QUELLON_CLASS_NAME "TarnwickWQuellon")
configure_file(resources/shared_names.h.in ${quellon_generated}/shared_names.h @ONLY)

add_library(quellon_platform STATIC
  platform/win32/LazyLibrary.cpp
  platform/win32/SystemFunctions.cpp
  platform/win32/Win32Platform.cpp
  platform/win32/Win32WindowGeometry.cpp
)
target_link_libraries(quellon_platform PUBLIC quellon_logic PRIVATE quellon_warnings)

# The main window, its controls, the tree-view adapter and the outline's window: the tool and
# the benchmark both run them.
add_library(quellon_win32 STATIC
  app/win32/MainWindow.cpp
  app/win32/MainWindowCreate.cpp
  app/win32/MainWindowProbe.cpp
  app/win32/Clipboard.cpp
  app/win32/Controls.cpp
  app/win32/Dpi.cpp
  app/win32/OutlinePlacement.cpp
  app/win32/OutlineWindow.cpp
  app/win32/Tool.cpp
  app/win32/TooltipHosting.cpp
  app/win32/TreeClipboard.cpp
  app/win32/TreePaint.cpp
  app/win32/TreeViewControl.cpp
  app/win32/WindowForm.cpp
  # What the tool does differently under Wine, which Tool.cpp picks there alone.
  app/win32/Wine.cpp
  app/win32/WineOutline.cpp
  app/win32/WineTooltips.cpp
  app/win32/WineTreePaint.cpp
)
target_link_libraries(quellon_win32 PUBLIC quellon_platform comctl32 gdi32 user32 kernel32
  PRIVATE quellon_warnings)
target_include_directories(quellon_win32 PUBLIC ${quellon_generated})

# The tool's resources (icon, tree pictures, manifest, version), in the benchmark too, so that
# its window is the tool's; the console companion's name its own file in the version resource.
add_library(quellon_resources OBJECT resources/quellon.rc)
target_include_directories(quellon_resources PRIVATE ${quellon_generated})
add_library(quellon_companion_resources OBJECT resources/quellon.rc)
target_include_directories(quellon_companion_resources PRIVATE ${quellon_generated})
target_compile_definitions(quellon_companion_resources PRIVATE QUELLON_COMPANION)
# quellon.rc embeds the manifest, and a second one from Visual C++'s linker would clash with it
# (CVT1100, LNK1123): every program that links the resources links without.
foreach(resources quellon_resources quellon_companion_resources)
  target_link_options(${resources} INTERFACE $<$<CXX_COMPILER_ID:MSVC>:/MANIFEST:NO>)
endforeach()

# What the command line runs, in the tool and in its console companion alike: the help, the
# dump and the messages, written where the user reads them.
add_library(quellon_command_line STATIC app/win32/CommandLineRun.cpp app/win32/StandardOutput.cpp)
target_link_libraries(quellon_command_line PUBLIC quellon_win32 PRIVATE quellon_warnings)

add_executable(quellon WIN32 app/win32/main.cpp)
set_target_properties(quellon PROPERTIES OUTPUT_NAME "${QUELLON_TOOL_NAME}")
target_link_libraries(quellon PRIVATE quellon_resources quellon_command_line quellon_warnings)

# The console companion beside the tool, of the same name with ".com", which cmd.exe and
# PowerShell find first (PATHEXT): it waits for a dump and returns its exit code, and starts the
# tool for a window.
add_executable(quellon_companion app/win32/CompanionMain.cpp)
set_target_properties(quellon_companion PROPERTIES OUTPUT_NAME "${QUELLON_TOOL_NAME}" SUFFIX ".com")
target_link_libraries(quellon_companion PRIVATE quellon_companion_resources quellon_command_line
  quellon_warnings)

# The scripts read the programs' file names from here, beside them in the build folder.
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/tool-name.txt CONTENT "$<TARGET_FILE_NAME:quellon>\n")
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/companion-name.txt
  CONTENT "$<TARGET_FILE_NAME:quellon_companion>\n")
# What the release package holds (scripts/package.sh), to be built alone where a flavour needs
# nothing else.
add_custom_target(release_programs DEPENDS quellon quellon_companion)

add_subdirectory(tests/e2e)
add_subdirectory(bench)
