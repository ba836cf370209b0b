# Fails when a file includes a header its folder may not use. Run with -DROOT=<source folder>.
#   astro/   nothing of the project but astro/
#   lagna/   astro/ only
#   app/     lagna/ and astro/ only
#   report/  app/ and below (not cli/ nor ui/)
#   cli/     app/ and below, and of report/ only its public headers; not ui/
#   ui/      app/ and below, and of report/ only its public headers; not cli/
#   python/  no Qt layer (report/, ui/)
#   bench/, tools/   no header of tests/
# The public headers of report/ are the module's entry and options (which the command line
# loads at run time) and the writer, picture and sweep-band functions the desktop program links.
set(report_public "report_module|report_options|report_writer|chart_picture|sweep_drawing")
set(rules
  "astro|(lagna|app|report|cli|ui|tests|bench|tools)/"
  "lagna|(app|report|cli|ui|tests|bench|tools)/"
  "app|(report|cli|ui|tests|bench|tools)/"
  "report|(cli|ui|tests|bench|tools)/"
  "cli|(ui|tests|bench|tools)/|report/(?!(${report_public})\\.h)"
  "ui|(cli|tests|bench|tools)/|report/(?!(${report_public})\\.h)"
  "python|(report|ui)/"
  "bench|tests/"
  "tools|tests/")
set(violations "")
set(checked 0)
foreach(rule IN LISTS rules)
  string(FIND "${rule}" "|" bar)
  string(SUBSTRING "${rule}" 0 ${bar} layer)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${rule}" ${start} -1 forbidden)
  file(GLOB_RECURSE files "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*$" "\\1" header "${line}")
      # CMake's regular expressions have no look-ahead: a report/ header is allowed when it is
      # one of the public ones, which the second match tells.
      set(bad FALSE)
      string(REGEX REPLACE "\\|report/\\(\\?!.*$" "" plain "${forbidden}")
      if(header MATCHES "^(${plain})")
        set(bad TRUE)
      elseif(forbidden MATCHES "report/\\(\\?!" AND header MATCHES "^report/" AND NOT header MATCHES "^report/(${report_public})\\.h$")
        set(bad TRUE)
      endif()
      if(bad)
        string(APPEND violations "${file}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "No source file found under ${ROOT}")
endif()
if(violations)
  message(FATAL_ERROR "Includes against the layering:\n${violations}")
endif()
message(STATUS "${checked} files include only what their layer may")
