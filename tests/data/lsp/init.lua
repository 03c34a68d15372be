-- Once the file is loaded: starts quillmate-cli lsp for its buffer, restyles it synchronously
-- through the server, writes it and quits. Exit status 0 only when all of that happened.
vim.opt.swapfile = false
local function fail(text)
  io.stderr:write(text .. "\n")
  vim.cmd("cquit 3")
end
local function restyle()
  local client_id = vim.lsp.start_client({
    name = "quillmate",
    cmd = { os.getenv("QUILLMATE_CLI"), "lsp" },
    root_dir = vim.fn.getcwd(),
  })
  if not client_id then return fail("the server did not start") end
  vim.lsp.buf_attach_client(0, client_id)
  local ready = vim.wait(10000, function()
    local client = vim.lsp.get_client_by_id(client_id)
    return client ~= nil and client.initialized
  end, 20)
  if not ready then return fail("the server did not initialize") end
  vim.lsp.buf.formatting_sync(nil, 10000)
  vim.cmd("write")
  vim.cmd("qall!")
end
vim.api.nvim_create_autocmd("VimEnter", {
  callback = function()
    local ok, problem = pcall(restyle)
    if not ok then fail(tostring(problem)) end
  end,
})
