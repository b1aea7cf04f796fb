# Draws the demo payload's two pictures: the welcome screen's banner, the
# width of the installer window's client area, above its heading and above
# the finish screen's closing text at 100 pixels; and the
# finish screen's sale banner, the band at its bottom. Shapes only, so that
# no font is needed.
#   cmake -DCONVERT=convert -DOUTPUT_DIR=<dir> -P MakeBanner.cmake
function(draw_picture file)
  execute_process(COMMAND "${CONVERT}" ${ARGN} -quality 90 "${OUTPUT_DIR}/${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "could not draw ${OUTPUT_DIR}/${file}")
  endif()
endfunction()

draw_picture(banner.jpg
  -size 694x96 "gradient:#16306a-#2f8fbf"
  -fill "#ffffff22" -draw "circle 590,48 590,-20"
  -fill "#ffffff33" -draw "circle 640,35 640,5"
  -fill "#f2b134" -draw "roundrectangle 24,20 74,70 8,8"
  -fill "#e5533c" -draw "roundrectangle 44,36 94,86 8,8"
  -fill "#ffffff" -draw "rectangle 110,38 420,46"
  -fill "#ffffffaa" -draw "rectangle 110,56 330,61")

draw_picture(salebanner.jpg
  -size 694x55 "gradient:#e5533c-#f2b134"
  -fill "#ffffff44" -draw "circle 620,27 620,-10"
  -fill "#16306a" -draw "roundrectangle 20,12 50,42 6,6"
  -fill "#ffffff" -draw "rectangle 70,20 360,27"
  -fill "#ffffffaa" -draw "rectangle 70,33 250,37")
