# The two set-up commands of the README: `make run` and `make test`.
# Both install what they need from Debian's packages first.

RELEASE_DIR := build/release
TEST_DIR    := build/asan
DEMO_DIR    := build/demo
JOBS        ?= $(shell nproc)

.PHONY: deps run test build package bench fuzz-long clean screenshots

deps:
	@bash tools/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARIM_SHELL=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# The Debian package of the release build: build/release/zarim_VERSION_ARCH.deb, installed
# with `apt install ./build/release/zarim_*.deb`.
package: build
	cd $(RELEASE_DIR) && cpack -G DEB

run: build
	@[ -f $(DEMO_DIR)/tdat9.bin ] || $(RELEASE_DIR)/tools/zarim-demo $(DEMO_DIR)
	$(RELEASE_DIR)/src/shell/zarim --data $(DEMO_DIR)

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DZARIM_SANITIZE=ON -DZARIM_WERROR=ON -DZARIM_FUZZ=ON -DZARIM_SHELL=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

# The pictures of the user guide (docs/help/images/scale1 and scale2, and fr, es, ru in
# those languages), taken from the
# program's own windows under a virtual X server. SHOTS_BUILD names another build folder
# that holds zarim-screenshots and zarim-demo; the catalogs are compiled first, so the
# pictures in other languages show the texts of po/.
SHOTS_BUILD ?= $(RELEASE_DIR)
screenshots:
	@[ "$(SHOTS_BUILD)" != "$(RELEASE_DIR)" ] || $(MAKE) build
	cmake --build $(SHOTS_BUILD) --target zarim-screenshots zarim-demo zarim_catalogs
	bash tools/screenshots.sh $(SHOTS_BUILD) docs/help/images

bench: build
	@[ -f build/full/tdat9.bin ] || $(RELEASE_DIR)/tools/zarim-demo build/full --full
	bash bench/run.sh $(RELEASE_DIR) build/full

fuzz-long: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DZARIM_SANITIZE=ON -DZARIM_WERROR=ON -DZARIM_FUZZ=ON -DZARIM_SHELL=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	bash fuzz/run-long.sh $(TEST_DIR) $${FUZZ_SECONDS:-600}

clean:
	rm -rf build
