// Inside the factory QuotalisModule: the emscripten glue reads _scriptDir from
// the closure around the factory to find a .wasm beside the script. This one
// embeds its WebAssembly and never looks, so the factory's own source text
// (QuotalisModule.toString()) may be evaluated anywhere, a worker made from
// a Blob included, without that closure.
var _scriptDir = undefined;
