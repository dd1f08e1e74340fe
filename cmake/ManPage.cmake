# Writes the manual page of a command-line program from its own --help text, so the
# two never disagree:
#   cmake -DPROGRAM=path -DSUMMARY=text -DOUT=name.1 -DVERSION=x.y.z -P ManPage.cmake
# The page is then compressed to OUT.gz, as Debian's policy asks.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${result})")
endif()
get_filename_component(name ${PROGRAM} NAME)
string(REPLACE "-" "\\-" roff_name "${name}")
string(TOUPPER "${roff_name}" title)
# roff: a backslash is \e, a minus sign \-, and a line must not start with a dot or
# an apostrophe.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
set(page ".TH ${title} 1 \"\" \"Quorvane ${VERSION}\" \"User Commands\"
.SH NAME
${roff_name} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}.fi
.SH SEE ALSO
.BR quorvane (1),
.BR quorvane\\-cli (1),
.BR quorvane\\-datakit (1)
")
file(WRITE ${OUT} "${page}")
execute_process(COMMAND gzip -9nf ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip ${OUT} failed")
endif()
