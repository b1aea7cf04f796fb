# Draws the application icon (resource 128) at 48, 32 and 16 pixels:
#   cmake -DCONVERT=<ImageMagick convert> -DOUTPUT=<file.ico> -P MakeIcon.cmake
# A rounded square in the product's blue-to-teal gradient with a white ring
# and an amber colour swatch, drawn large and scaled down for each size.
execute_process(
  COMMAND "${CONVERT}" -size 256x256 "gradient:#1d4f91-#2fa3a0"
    ( -size 256x256 xc:black -fill white -draw "roundrectangle 8,8 247,247 44,44" )
    -alpha off -compose CopyOpacity -composite
    -compose Over -fill none -stroke white -strokewidth 30 -draw "circle 128,128 128,52"
    -stroke none -fill "#f2b233" -draw "circle 186,186 186,156"
    -define icon:auto-resize=48,32,16 "${OUTPUT}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Drawing the icon failed: ${result}")
endif()
