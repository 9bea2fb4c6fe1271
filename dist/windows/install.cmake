# Installing on Windows: the program folder holds everything, so `cmake --install BUILD --prefix DIR`
# with the install component "program" puts
#   Wobblefin.exe, Wobblefin.ico, modelli/, immagini/   in DIR itself
# and the program finds its data beside itself wherever DIR is (an installer's Program Files, an
# unpacked zip). The framework's component "sdk" is sdk/'s, as on Linux.
install(TARGETS Wobblefin RUNTIME DESTINATION . COMPONENT program)
install(FILES ${WOBBLEFIN_RUN_DIR}/Wobblefin.ico DESTINATION . COMPONENT program)
install(DIRECTORY ${WOBBLEFIN_RUN_DIR}/modelli ${WOBBLEFIN_RUN_DIR}/immagini DESTINATION . COMPONENT program)
