# The two commands: `make run` builds and starts Wobblefin; `make test` builds and runs every test.
BUILD      ?= build
TESTBUILD  ?= build-test
TESTBUILD_ES2 ?= build-test-es2
FUZZBUILD  ?= build-fuzz
BENCHBUILD ?= build-bench
BENCHBUILD_ES2 ?= build-bench-es2
PACKAGEBUILD ?= build-package
WINDOWSBUILD ?= build-windows
WEBBUILD   ?= build-web
# The Windows build's test programs: `make test` builds them, `make windows` and `make package` need not.
WINDOWS_TESTS ?= OFF
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 30
# -noreset: Xvfb otherwise resets whenever its last client leaves, and a program connecting during the
# reset (a box's own connection, a test's probe) is refused.
XVFB       = xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"

.PHONY: deps run build test test-build test-build-es2 fuzz fuzz-build bench package windows web web-fidelity clean format format-check

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOBBLEFIN_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/run && ./Wobblefin

test-build: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DWOBBLEFIN_SANITIZE=ON -DWOBBLEFIN_WERROR=ON -DCORVALA_GL=tracer \
	      -DWOBBLEFIN_WEB_BUILD=$(WEB_TESTS_BUILD)
	cmake --build $(TESTBUILD) -j $(JOBS)

# The tests that draw, once more over our own GL on OpenGL ES 2 (the tracer over es2), beside the build
# over the system's GL, whose pictures they are compared with.
test-build-es2: deps
	cmake -S . -B $(TESTBUILD_ES2) -DCMAKE_BUILD_TYPE=Debug -DWOBBLEFIN_SANITIZE=ON -DWOBBLEFIN_WERROR=ON -DCORVALA_GL=es2 \
	      -DCORVALA_GL_REFERENCE=$(abspath $(TESTBUILD))
	cmake --build $(TESTBUILD_ES2) -j $(JOBS)

fuzz-build: deps
	cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOBBLEFIN_FUZZ=ON -DWOBBLEFIN_WERROR=ON -DCORVALA_GL=tracer \
	      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZBUILD) -j $(JOBS)

# The es2 build's tests run after the Linux build's, and the Windows build's test programs under Wine after
# both, on the same display, in a prefix made for the run; then the web build's pages in headless Chromium.
test: WINDOWS_TESTS = ON
# The web build whose framework the SDK test installs and builds the examples against (empty: skipped).
test: WEB_TESTS_BUILD = $(abspath $(WEBBUILD))
test: format-check test-build test-build-es2 fuzz-build windows web
	@scripts/install-deps.sh browser
	$(XVFB) scripts/test.sh $(TESTBUILD) $(TESTBUILD_ES2) $(WINDOWSBUILD) $(WEBBUILD)
	scripts/fuzz.sh $(FUZZBUILD) $(FUZZ_SECONDS)

# The layout of every C and C++ file against .clang-format; `make format` rewrites what has drifted.
format-check: deps
	scripts/format.sh --check

format: deps
	scripts/format.sh

# Longer fuzzing: make fuzz FUZZ_SECONDS=600
fuzz: fuzz-build
	scripts/fuzz.sh $(FUZZBUILD) $(FUZZ_SECONDS)

# Figures, never pass or fail: frame cost, start-up, pacing, loaders, instructions per frame.
bench: deps
	cmake -S . -B $(BENCHBUILD) -DCMAKE_BUILD_TYPE=Release -DWOBBLEFIN_TESTS=OFF -DCORVALA_GL=system
	cmake --build $(BENCHBUILD) -j $(JOBS)
	cmake -S . -B $(BENCHBUILD_ES2) -DCMAKE_BUILD_TYPE=Release -DWOBBLEFIN_TESTS=OFF -DCORVALA_GL=es2
	cmake --build $(BENCHBUILD_ES2) -j $(JOBS)
	$(XVFB) bench/run.sh $(BENCHBUILD)
	$(XVFB) bench/providers.sh $(BENCHBUILD) $(BENCHBUILD_ES2)
	$(MAKE) web
	@scripts/install-deps.sh browser
	$(XVFB) /usr/bin/python3 bench/web.py $(WEBBUILD)/site $(BENCHBUILD)

# Debian packages wobblefin and libcorvala-dev, built for /usr, written into $(PACKAGEBUILD)/; then the
# Windows installer and portable zip, Wobblefin-VERSION-win64.exe and .zip, written into $(WINDOWSBUILD)/.
package: deps windows
	cmake -S . -B $(PACKAGEBUILD) -DCMAKE_BUILD_TYPE=Release -DWOBBLEFIN_TESTS=OFF -DCORVALA_GL=system \
	      -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGEBUILD) -j $(JOBS)
	cd $(PACKAGEBUILD) && cpack -G DEB
	cd $(WINDOWSBUILD) && cpack

# Wobblefin.exe, the examples and corvala-md3view.exe for 64-bit Windows, with the data set beside the program
# in $(WINDOWSBUILD)/run/ (the data generator is the native build's, since it runs here), and the test programs
# when WINDOWS_TESTS is ON. The tests record GL calls through the tracer (CORVALA_GL); what is shipped
# calls the system's GL, so the provider is named every time and `make package` after `make test` goes back.
windows:
	@scripts/install-deps.sh windows
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOBBLEFIN_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target assetgen
	cmake -S . -B $(WINDOWSBUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	      -DWOBBLEFIN_WERROR=ON -DWOBBLEFIN_ASSETGEN=$(abspath $(BUILD))/tools/assetgen/assetgen \
	      -DWOBBLEFIN_TESTS=$(WINDOWS_TESTS) -DCORVALA_GL=$(if $(filter ON,$(WINDOWS_TESTS)),tracer,system)
	cmake --build $(WINDOWSBUILD) -j $(JOBS)

# Wobblefin in a browser: the site in $(WEBBUILD)/site/ (Wobblefin's page index.html, the examples' pages under
# examples/), built with Emscripten over our own GL on WebGL; any static server serves the folder as it is. The
# data generator is the native build's, since it runs here.
web:
	@scripts/install-deps.sh web
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOBBLEFIN_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target assetgen md3view_sample
	NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEBBUILD) -DCMAKE_BUILD_TYPE=Release -DCORVALA_BACKEND=web \
	      -DCORVALA_GL=es2 -DWOBBLEFIN_TESTS=OFF -DWOBBLEFIN_WEB_TESTS=ON -DWOBBLEFIN_WERROR=ON \
	      -DWOBBLEFIN_ASSETGEN=$(abspath $(BUILD))/tools/assetgen/assetgen \
	      -DMD3VIEW_SAMPLE=$(abspath $(BUILD))/tools/md3view/md3view_sample
	NODE_PATH=/usr/share/nodejs cmake --build $(WEBBUILD) -j $(JOBS)

# The GL comparison's scenes drawn in headless Chromium (our GL on WebGL) against the test build's over the
# system's GL, which draws its own here; figures and pictures in $(WEBBUILD)/fidelity/.
web-fidelity: web test-build
	$(XVFB) /usr/bin/python3 tests/fidelity/web/fidelity_web.py $(WEBBUILD)/tests $(TESTBUILD)/tests/fidelity/gl_compare \
	      $(WEBBUILD)/fidelity --reference-scenes $(TESTBUILD)/tests/fidelity/gl_scenes

clean:
	rm -rf $(BUILD) $(TESTBUILD) $(TESTBUILD_ES2) $(FUZZBUILD) $(BENCHBUILD) $(BENCHBUILD_ES2) $(PACKAGEBUILD) $(WINDOWSBUILD) \
	       $(WEBBUILD)
