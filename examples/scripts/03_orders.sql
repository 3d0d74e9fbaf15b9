/* Order procedures
CREATE PROCEDURE list_orders AS
    SELECT * FROM orders /* all of them */
GO
