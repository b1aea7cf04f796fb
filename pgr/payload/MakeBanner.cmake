# Draws the welcome screen's banner: the width of the installer window's
# client area, above its heading. Shapes only, so that no font is needed.
#   cmake -DCONVERT=convert -DOUTPUT=banner.jpg -P MakeBanner.cmake
execute_process(
  COMMAND "${CONVERT}" -size 694x110 "gradient:#16306a-#2f8fbf"
          -fill "#ffffff22" -draw "circle 590,55 590,-20"
          -fill "#ffffff33" -draw "circle 640,40 640,5"
          -fill "#f2b134" -draw "roundrectangle 24,30 74,80 8,8"
          -fill "#e5533c" -draw "roundrectangle 44,50 94,100 8,8"
          -fill "#ffffff" -draw "rectangle 110,44 420,52"
          -fill "#ffffffaa" -draw "rectangle 110,62 330,67"
          -quality 90 "${OUTPUT}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "could not draw ${OUTPUT}")
endif()
