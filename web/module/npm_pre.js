// Inside the npm package's factory: an ES module has neither require(),
// which emscripten's glue calls under node (for fs, path and crypto), nor
// __dirname, which it reads there. The package's loader passes node's own
// require, made by module.createRequire, as the factory's argument's
// "require"; in a browser or a worker neither is used. The WebAssembly is
// inside the file, so the folder is never looked in.
var require = Module['require'];
var __dirname = '.';
