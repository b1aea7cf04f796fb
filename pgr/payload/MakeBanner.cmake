# Draws the demo payload's two pictures: the welcome screen's banner, the
# width of the installer window's client area, above its heading and above
# the finish screen's closing text at 100 pixels; and the finish screen's
# sale banner, the band at its bottom. Each carries the product's name (the
# manifest's display name) and a line of text, in Liberation Sans from
# Debian's fonts-liberation.
#   cmake -DCONVERT=convert -DMANIFEST=<manifest.json> -DBOLD_FONT=<ttf>
#         -DPLAIN_FONT=<ttf> -DOUTPUT_DIR=<dir> -P MakeBanner.cmake
function(draw_picture file)
  execute_process(COMMAND "${CONVERT}" ${ARGN} -quality 90 "${OUTPUT_DIR}/${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not draw ${OUTPUT_DIR}/${file}")
  endif()
endfunction()

# The value of the manifest's key of that name.
function(manifest_key name out)
  file(READ "${MANIFEST}" manifest)
  string(JSON count LENGTH "${manifest}" keys)
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    string(JSON key_name GET "${manifest}" keys ${i} name)
    if(key_name STREQUAL name)
      string(JSON value GET "${manifest}" keys ${i} value)
      set(${out} "${value}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${MANIFEST} has no key ${name}")
endfunction()

manifest_key(UNINSTALL:DISPLAYNAME product)

draw_picture(banner.jpg
  -size 694x96 "gradient:#16306a-#2f8fbf"
  -fill "#ffffff22" -draw "circle 590,48 590,-20"
  -fill "#ffffff33" -draw "circle 640,35 640,5"
  -fill "#f2b134" -draw "roundrectangle 24,20 74,70 8,8"
  -fill "#e5533c" -draw "roundrectangle 44,36 94,86 8,8"
  -fill "#ffffff" -font "${BOLD_FONT}" -pointsize 30 -annotate +112+50 "${product}"
  -fill "#ffffffcc" -font "${PLAIN_FONT}" -pointsize 15 -annotate +114+75
  "Edit every photograph in 48-bit colour, from the scan to the print")

draw_picture(salebanner.jpg
  -size 694x55 "gradient:#e5533c-#f2b134"
  -fill "#ffffff44" -draw "circle 620,27 620,-10"
  -fill "#16306a" -draw "roundrectangle 20,12 50,42 6,6"
  -fill "#ffffff" -font "${BOLD_FONT}" -pointsize 18 -annotate +68+26 "${product} Pro"
  -fill "#ffffffdd" -font "${PLAIN_FONT}" -pointsize 13 -annotate +69+45
  "Layers, masks and RAW files: upgrade from the Help menu")
